% TITLE:chain
% INFO:
% CONVERSION TYPE
%     GENE-PROTEIN:CMA
%     METABOLIC:GMA
function [n_var, n_const] = get_GHnum()
	n_var = 3;
	n_const = 1;
end
