function [param, event] = ZYMORAX_Merge_param()
	event=-1;
end
