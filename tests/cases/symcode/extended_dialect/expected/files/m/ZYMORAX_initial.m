% TITLE:extended dialect
function [ZYMORAX_CTL Y_START] = ZYMORAX_initial()

%=control data
ZYMORAX_CTL.N_VAR=3; % num of variables(all)
ZYMORAX_CTL.N_ALGEBR=0; % num of variables(Algebraic Eq)

%==solver
ZYMORAX_CTL.SOLVER = 3;
ZYMORAX_CTL.P_SURVEY=0;
ZYMORAX_CTL.PARALLEL=0;
ZYMORAX_CTL.RK_EPS=1.0E-12;
ZYMORAX_CTL.NDF_RTOL=1.0E-12;
ZYMORAX_CTL.NDF_ATOL=1.0E-12;

%==time span and time step-size
ZYMORAX_CTL.T_START=0.0;
ZYMORAX_CTL.T_END='';
ZYMORAX_CTL.DELTA_T='';
ZYMORAX_CTL.DELTA_M='';

%==Newton-Raphson Method
ZYMORAX_CTL.NR_TRIAL=20;
ZYMORAX_CTL.NR_TOL_F=1.0E-12;
ZYMORAX_CTL.NR_TOL_X=1.0E-12;
ZYMORAX_CTL.NR_RATIO=1.1;
ZYMORAX_CTL.NR_SENS_CW=0.001;

%==Other
ZYMORAX_CTL.G_VALUE=1;
ZYMORAX_CTL.Y_DEFAULT=1.0E-2;

%=initial parameters
Y_START(   1).value =            1; % A
Y_START(   1).tag = 'A';
Y_START(   2).value =         -0.5; % B
Y_START(   2).tag = 'B';
Y_START(   3).value =            1; % C
Y_START(   3).tag = 'C';

%=solver parameter
ZYMORAX_CTL.MASS=eye(ZYMORAX_CTL.N_VAR);
for i=1:ZYMORAX_CTL.N_ALGEBR
	ZYMORAX_CTL.MASS(i,i)=0;
end
end
