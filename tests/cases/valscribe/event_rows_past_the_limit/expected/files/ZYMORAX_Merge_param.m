function [param, event] = ZYMORAX_Merge_param()
	event(1).name = 'a';
	event(1).index = 1;
	event(1).value = 3;
	event(1).time = 2;
	event(2).name = 'b';
	event(2).index = 1;
	event(2).value = 3;
	event(2).time = 2;
end
