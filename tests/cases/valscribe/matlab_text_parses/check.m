% Runs the merged scripts and shows what they hold, then lets the simulation driver read them.
addpath(fullfile(getenv('SRC'), 'sim', 'matlab'));
start = ZYMORAX_Merge_init();
[param, event] = ZYMORAX_Merge_param();
printf('Y_START(2): tag [%s], value empty %d\n', start(2).tag, isempty(start(2).value));
printf('k(1): tag [%s], d_r_s [%s], value empty %d, num_survey empty %d\n', param.k(1).tag, ...
       param.k(1).d_r_s, isempty(param.k(1).value), isempty(param.k(1).num_survey));
printf('event(1): name [%s], time empty %d, value empty %d\n', event(1).name, ...
       isempty(event(1).time), isempty(event(1).value));
try
  ZYMORAX_simulate([0 1], 1, '', struct('values', 'merged'));
catch failure
  disp(failure.message);
end
