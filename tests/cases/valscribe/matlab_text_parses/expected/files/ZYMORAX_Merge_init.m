function [Y_START] = ZYMORAX_Merge_init()
	Y_START(1).value = 1.0000e+000; % A.cel
	Y_START(1).tag = 'A.cel';
	Y_START(2).value = []; % it's B
	Y_START(2).tag = 'it''s B';
end
