% TITLE:chain
% INFO:
% CONVERSION TYPE
%     GENE-PROTEIN:CMA
%     METABOLIC:GMA
function [gd, gi, hd, hi, v_plus, v_minus] = ZYMORAX_get_GHdata(y, p)
	[n_var, n_const] = ZYMORAX_get_GHnum();
	gd = zeros(n_var, n_var);
	gi = zeros(n_var, n_const);
	hd = zeros(n_var, n_var);
	hi = zeros(n_var, n_const);
	v_plus = zeros(1, n_var);
	v_minus = zeros(1, n_var);
	constantPlayer_len = length(p.constantPlayer);
	for i=1:1:constantPlayer_len
		constantPlayer(i) = p.constantPlayer(i).value;
	end
	kxg_len = length(p.kxg);
	for i=1:1:kxg_len
		kxg(i) = p.kxg(i).value;
	end
	f_len = length(p.f);
	for i=1:1:f_len
		f(i) = p.f(i).value;
	end

	v_minus(  1) = kxg(2)*(y(3)^f(3));
	hd(  1,  3) = f(3)*(y(3)^(f(3) - 1))*kxg(2);
	v_plus (  2) = kxg(1)*((y(1) + y(2))^f(1))*(constantPlayer(1)^f(2));
	gd(  2,  1) = f(1)*((y(1) + y(2))^(f(1) - 1))*kxg(1)*(constantPlayer(1)^f(2));
	gd(  2,  2) = f(1)*((y(1) + y(2))^(f(1) - 1))*kxg(1)*(constantPlayer(1)^f(2));
	gi(  2,  1) = f(2)*(constantPlayer(1)^(f(2) - 1))*kxg(1)*((y(1) + y(2))^f(1));
	v_minus(  2) = kxg(2)*(y(3)^f(3));
	hd(  2,  3) = f(3)*(y(3)^(f(3) - 1))*kxg(2);
	v_plus (  3) = kxg(1)*((y(1) + y(2))^f(1))*(constantPlayer(1)^f(2));
	gd(  3,  1) = f(1)*((y(1) + y(2))^(f(1) - 1))*kxg(1)*(constantPlayer(1)^f(2));
	gd(  3,  2) = f(1)*((y(1) + y(2))^(f(1) - 1))*kxg(1)*(constantPlayer(1)^f(2));
	gi(  3,  1) = f(2)*(constantPlayer(1)^(f(2) - 1))*kxg(1)*((y(1) + y(2))^f(1));
	v_minus(  3) = 2*kxg(2)*(y(3)^f(3));
	hd(  3,  3) = f(3)*(y(3)^(f(3) - 1))*2*kxg(2);
end


