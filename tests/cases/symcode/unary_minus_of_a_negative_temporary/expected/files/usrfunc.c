/*
 * TITLE:names
 */

#include "kine.h"

void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)
{
	double *k	= p->val[1];

	fvec[  1] = y[2] - y[1];
	fvec[  2] = -(-y[3]);
	fvec[  3] = k[1];
}

void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)
{
	double *k	= p->val[1];

	fjac[  1][  1] = -1;
	fjac[  1][  2] = 1;
	fjac[  2][  3] = 1;
}
