% TITLE:decay
function [n_var, n_const] = get_GHnum()
	n_var = 2;
	n_const = 0;
end
