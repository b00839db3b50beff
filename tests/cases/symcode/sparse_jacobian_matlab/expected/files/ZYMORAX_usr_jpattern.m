% TITLE:bind
% INFO:A and B bind to AB
% CONVERSION TYPE
%     GENE-PROTEIN:TPP_STEADYSTATE_1
%     METABOLIC:NONE
function [pattern] = ZYMORAX_usr_jpattern()
	% pattern(i, j) is 1 where ZYMORAX_usr_fjac writes d fvec(i)/d y(j)
	rows = [
	1; 2; 3; 1; 2; 3; 4; 2; 3; 1
	];
	columns = [
	1; 1; 1; 2; 2; 2; 2; 3; 3; 4
	];
	pattern = sparse(rows, columns, 1, 4, 4);
end
