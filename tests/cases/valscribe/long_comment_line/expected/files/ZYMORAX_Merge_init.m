function [Y_START] = ZYMORAX_Merge_init()
	Y_START(2).value = 2; % B.cel
	Y_START(2).tag = 'B.cel';
end
