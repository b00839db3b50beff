function [Y_START] = ZYMORAX_Merge_init()
	Y_START(1).value = 1.0; % A
	Y_START(1).tag = 'A';
end
