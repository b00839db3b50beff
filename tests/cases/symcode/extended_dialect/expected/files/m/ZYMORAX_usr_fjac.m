% TITLE:extended dialect
function [fjac] = ZYMORAX_usr_fjac(y, Gene, p)
	fjac = zeros(3);
	k_len = length(p.k);
	for i=1:1:k_len
		k(i) = p.k(i).value;
	end

	fjac(  1,  1) = -(-((-exp(-y(1)))*k(1) + 2*y(1)*((1 + (y(1)^2))^(-1))*abs(y(2)))) - 0.5/sqrt(y(1))*sin(y(2)) + (1 - (tanh(y(1))^2))*(-sin(tanh(y(1))))*atan(2*y(2)) + 0.1234567890123;
	fjac(  1,  2) = -(-sign(y(2))*log(1 + (y(1)^2))) - cos(y(2))*sqrt(y(1)) + 2*((1 + ((2*y(2))^2))^(-1))*cos(tanh(y(1)));
	fjac(  2,  1) = 1/(y(1)*2.302585092994046)/exp(y(2)) + (cos(y(1))^(-2));
	fjac(  2,  2) = -exp(y(2))*(floor(y(1)) + log10(y(1)))/(exp(y(2))^2) - 0.5*((1 - ((y(2)/2)^2))^(-0.5)) + 0.1*(-((1 - ((0.1*y(2))^2))^(-0.5))) + cosh(y(2)) - sinh(y(2));
	fjac(  3,  2) = -subsref({0, subsref({2*y(2), 0}, struct('type', '{}', 'subs', {{2 - ((((y(2) > 0) && (~((y(3) == 3))))) ~= 0)}}))}, struct('type', '{}', 'subs', {{2 - (((y(3) < 2)) ~= 0)}})) + subsref({0, -1}, struct('type', '{}', 'subs', {{2 - (((y(3) <= -y(2))) ~= 0)}})) + subsref({1, 2}, struct('type', '{}', 'subs', {{2 - ((((y(3) <= 0.5) || (y(2) >= 3) || (y(3) ~= y(2)))) ~= 0)}}));
	fjac(  3,  3) = -subsref({k(1), subsref({0, 0}, struct('type', '{}', 'subs', {{2 - ((((y(2) > 0) && (~((y(3) == 3))))) ~= 0)}}))}, struct('type', '{}', 'subs', {{2 - (((y(3) < 2)) ~= 0)}})) + subsref({1, 0}, struct('type', '{}', 'subs', {{2 - (((y(3) <= -y(2))) ~= 0)}})) - subsref({2, 0}, struct('type', '{}', 'subs', {{2 - (((y(3)*2 >= 1)) ~= 0)}}));
end

