function [Y_START] = ZYMORAX_Merge_init()
	Y_START(1).value = 5; % read
	Y_START(1).tag = 'read';
end
