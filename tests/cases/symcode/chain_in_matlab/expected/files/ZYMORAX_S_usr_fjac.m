% TITLE:chain
% INFO:
% CONVERSION TYPE
%     GENE-PROTEIN:CMA
%     METABOLIC:GMA
function fjac = ZYMORAX_S_usr_fjac(y, Gene, p)
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
	fjac = zeros(3);
	fjac(  1,  3) =  - kminus(1)*(h(1)*(y(3)^(h(1)-1)));
	fjac(  2,  1) = kplus(2)*(g(1)*(y(1)^(g(1)-1)))*(y(2)^(g(2)))*(constantPlayer(1)^(g(3)));
	fjac(  2,  2) = kplus(2)*(y(1)^(g(1)))*(g(2)*(y(2)^(g(2)-1)))*(constantPlayer(1)^(g(3)));
	fjac(  2,  3) =  - kminus(2)*(h(2)*(y(3)^(h(2)-1)));
	fjac(  3,  1) = kplus(3)*(g(4)*(y(1)^(g(4)-1)))*(y(2)^(g(5)))*(constantPlayer(1)^(g(6)));
	fjac(  3,  2) = kplus(3)*(y(1)^(g(4)))*(g(5)*(y(2)^(g(5)-1)))*(constantPlayer(1)^(g(6)));
	fjac(  3,  3) =  - kminus(3)*(h(3)*(y(3)^(h(3)-1)));
end
