% TITLE:extended dialect
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
param.k(   1).value = 0.123456789012;
param.k(   1).num_survey = 0;
param.k(   1).d_r_s = 'D';
param.k(   1).tag = 'k1';
param.k(   2).value = 0;
param.k(   2).num_survey = 0;
param.k(   2).d_r_s = 'D';
param.k(   2).tag = 'k0';

end
