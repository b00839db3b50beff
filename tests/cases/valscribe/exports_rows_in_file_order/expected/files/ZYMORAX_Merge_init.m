function [Y_START] = ZYMORAX_Merge_init()
	Y_START(1).value = 2.5000e+000; % A.cyt
	Y_START(1).tag = 'A.cyt';
	Y_START(2).value = []; % B.cyt
	Y_START(2).tag = 'B.cyt';
end
