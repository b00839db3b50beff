function [param, event] = ZYMORAX_Merge_param()
	param.k(1).value = 2;
	param.k(1).num_survey = 0;
	param.k(1).d_r_s = 'D';
	param.k(1).tag = 't';
	event=-1;
end
