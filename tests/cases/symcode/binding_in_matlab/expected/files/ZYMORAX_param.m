% TITLE:bind
% INFO:A and B bind to AB
% CONVERSION TYPE
%     GENE-PROTEIN:TPP_STEADYSTATE_1
%     METABOLIC:NONE
function [param, event] = ZYMORAX_param()

% T_EVENT
event(1).name = ZYMORAX_Constant.TIME_START;
event(1).index = 0;
%event(1).time =
event(1).value = 0;


idxLatestEvent = length(event)+1;
event(idxLatestEvent).name = ZYMORAX_Constant.TIME_END;
event(idxLatestEvent).index = 0;
%event(idxLatestEvent).time =
event(idxLatestEvent).value = 0;

% PARAMETER
param.constantPlayer(   1).value = 0.5;
param.constantPlayer(   1).num_survey = 0;
param.constantPlayer(   1).d_r_s = 'D';
param.constantPlayer(   1).tag = 'S.cyt';

param.ka(   1).value = 0.1;
param.ka(   1).num_survey = 0;
param.ka(   1).d_r_s = 'D';
param.ka(   1).tag = 'binding_association_rate_constant_A.cyt_B.cyt';

param.kd(   1).value = 0.0025;
param.kd(   1).num_survey = 0;
param.kd(   1).d_r_s = 'D';
param.kd(   1).tag = 'dissociation_rate_constant_AB.cyt';

% param.kx(   1) is no_value;
param.kx(   1).num_survey = 0;
param.kx(   1).d_r_s = 'D';
param.kx(   1).tag = 'reaction_rate_constant_B.cyt';
param.kx(   2).value = 1; %	Not Used!!
param.kx(   2).num_survey = 0;
param.kx(   2).d_r_s = 'D';
param.kx(   2).tag = 'reaction_rate_constant_unused';

end
