% TITLE:bind
% INFO:A and B bind to AB
% CONVERSION TYPE
%     GENE-PROTEIN:TPP_STEADYSTATE_1
%     METABOLIC:NONE
function [fjac] = ZYMORAX_usr_fjac(y, Gene, p)
	fjac = zeros(4);
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

	fjac(  1,  1) = -1;
	fjac(  1,  2) = -1;
	fjac(  1,  4) = 1;
	fjac(  2,  1) = ka(1)*y(3);
	fjac(  2,  2) = -kd(1);
	fjac(  2,  3) = ka(1)*y(1);
	fjac(  3,  1) = -ka(1)*y(3);
	fjac(  3,  2) = kd(1);
	fjac(  3,  3) = -ka(1)*y(1);
	fjac(  4,  2) = -2*y(2)*0.5*kx(1);
end

