% ZYMORAX_Constant  Names shared by the generated MATLAB code and ZYMORAX_simulate.
%   ZYMORAX_param.m names its first and last events ZYMORAX_Constant.TIME_START and
%   ZYMORAX_Constant.TIME_END; an event of that name whose time is set gives the start or the
%   end of the simulated time span.
classdef ZYMORAX_Constant
  properties (Constant)
    TIME_START = 'TIME_START';
    TIME_END = 'TIME_END';
  end
end
