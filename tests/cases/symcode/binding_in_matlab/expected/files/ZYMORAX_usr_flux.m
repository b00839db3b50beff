% TITLE:bind
% INFO:A and B bind to AB
% CONVERSION TYPE
%     GENE-PROTEIN:TPP_STEADYSTATE_1
%     METABOLIC:NONE
function [total, flux] = ZYMORAX_usr_flux(y, Gene, p)
	constantPlayer_len = length(p.constantPlayer);
	for i=1:1:constantPlayer_len
		constantPlayer(i) = p.constantPlayer(i).value;
	end
	ka_len = length(p.ka);
	for i=1:1:ka_len
		ka(i) = p.ka(i).value;
	end
	kd_len = length(p.kd);
	for i=1:1:kd_len
		kd(i) = p.kd(i).value;
	end
	kx_len = length(p.kx);
	for i=1:1:kx_len
		kx(i) = p.kx(i).value;
	end


	% No Total expression.

	% No Flux expression.
end

