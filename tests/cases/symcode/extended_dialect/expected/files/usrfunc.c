/*
 * TITLE:extended dialect
 */

#include "kine.h"

void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)
{
	double *k	= p->val[1];

	fvec[  1] = -(-(k[1]*exp(-y[1]) + log(1 + pow(y[1], 2))*fabs(y[2]))) - sqrt(y[1])*sin(y[2]) + cos(tanh(y[1]))*atan(2*y[2]) + 0.1234567890123*y[1];
	fvec[  2] = (floor(y[1]) + log10(y[1]))/exp(y[2]) - asin(y[2]/2) + acos(0.1*y[2]) + tan(y[1]) + sinh(y[2]) - cosh(y[2]) + k[2]*0 + ceil(y[2]);
	fvec[  3] = -((y[3] < 2) ? k[1]*y[3] : (((y[2] > 0) && (!((y[3] == 3)))) ? pow(y[2], 2) : 0)) + fmin(y[3], -y[2]) - fmax(y[3]*2, 1) + (((y[3] <= 0.5) || (y[2] >= 3) || (y[3] != y[2])) ? 1 : 2)*y[2] + (((y[1] < 1) != 0) ^ ((y[2] < 1) != 0));
}

void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)
{
	double *k	= p->val[1];

	fjac[  1][  1] = -(-((-exp(-y[1]))*k[1] + 2*y[1]*pow((1 + pow(y[1], 2)), -1)*fabs(y[2]))) - 0.5/sqrt(y[1])*sin(y[2]) + (1 - pow(tanh(y[1]), 2))*(-sin(tanh(y[1])))*atan(2*y[2]) + 0.1234567890123;
	fjac[  1][  2] = -(-((y[2] > 0) - (y[2] < 0))*log(1 + pow(y[1], 2))) - cos(y[2])*sqrt(y[1]) + 2*pow((1 + pow((2*y[2]), 2)), -1)*cos(tanh(y[1]));
	fjac[  2][  1] = 1/(y[1]*2.302585092994046)/exp(y[2]) + pow(cos(y[1]), -2);
	fjac[  2][  2] = -exp(y[2])*(floor(y[1]) + log10(y[1]))/pow(exp(y[2]), 2) - 0.5*pow((1 - pow((y[2]/2), 2)), -0.5) + 0.1*(-pow((1 - pow((0.1*y[2]), 2)), -0.5)) + cosh(y[2]) - sinh(y[2]);
	fjac[  3][  2] = -((y[3] < 2) ? 0 : (((y[2] > 0) && (!((y[3] == 3)))) ? 2*y[2] : 0)) + ((y[3] <= -y[2]) ? 0 : -1) + (((y[3] <= 0.5) || (y[2] >= 3) || (y[3] != y[2])) ? 1 : 2);
	fjac[  3][  3] = -((y[3] < 2) ? k[1] : (((y[2] > 0) && (!((y[3] == 3)))) ? 0 : 0)) + ((y[3] <= -y[2]) ? 1 : 0) - ((y[3]*2 >= 1) ? 2 : 0);
}
