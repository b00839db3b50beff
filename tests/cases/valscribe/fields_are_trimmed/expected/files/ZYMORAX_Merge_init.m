function [Y_START] = ZYMORAX_Merge_init()
	Y_START(12).value = 1.0000e+000; % A.cyt
	Y_START(12).tag = 'A.cyt';
	Y_START(3).value = 2; % B
	Y_START(3).tag = 'B';
end
