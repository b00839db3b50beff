function [param, event] = ZYMORAX_Merge_param()
	param.k(1).value = [];
	param.k(1).num_survey = [];
	param.k(1).d_r_s = 'D''';
	param.k(1).tag = 'rate ''A''';
	event(1).name = 'TIME_END''s';
	event(1).index = 0;
	event(1).value = [];
	event(1).time = [];
end
