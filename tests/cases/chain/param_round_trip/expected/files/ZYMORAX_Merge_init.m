function [Y_START] = ZYMORAX_Merge_init()
	Y_START(1).value = 2.5000e+000; % A.cyt
	Y_START(1).tag = 'A.cyt';
	Y_START(2).value = 5.0000e-001; % B.cyt
	Y_START(2).tag = 'B.cyt';
	Y_START(3).value = 3.0000e+000; % C.cyt
	Y_START(3).tag = 'C.cyt';
	Y_START(4).value = 1.0000e-003; % AB.cyt
	Y_START(4).tag = 'AB.cyt';
end
