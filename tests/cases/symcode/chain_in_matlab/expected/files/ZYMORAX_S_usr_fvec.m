% TITLE:chain
% INFO:
% CONVERSION TYPE
%     GENE-PROTEIN:CMA
%     METABOLIC:GMA
function fvec = ZYMORAX_S_usr_fvec(y, Gene, p)
	constantPlayer_len = length(p.constantPlayer);
	for i=1:1:constantPlayer_len
		constantPlayer(i) = p.constantPlayer(i).value;
	end
	kplus_len = length(p.kplus);
	for i=1:1:kplus_len
		kplus(i) = p.kplus(i).value;
	end
	kminus_len = length(p.kminus);
	for i=1:1:kminus_len
		kminus(i) = p.kminus(i).value;
	end
	g_len = length(p.g);
	for i=1:1:g_len
		g(i) = p.g(i).value;
	end
	h_len = length(p.h);
	for i=1:1:h_len
		h(i) = p.h(i).value;
	end
	fvec(  1) =  - kminus(1)*(y(3)^(h(1)));
	fvec(  2) = kplus(2)*(y(1)^(g(1)))*(y(2)^(g(2)))*(constantPlayer(1)^(g(3))) - kminus(2)*(y(3)^(h(2)));
	fvec(  3) = kplus(3)*(y(1)^(g(4)))*(y(2)^(g(5)))*(constantPlayer(1)^(g(6))) - kminus(3)*(y(3)^(h(3)));
end
