function [Y_START] = ZYMORAX_Merge_init()
	Y_START(1).value = 9; % last
	Y_START(1).tag = 'last';
end
