/*
 * TITLE:chain
 * INFO:
 * CONVERSION TYPE
 *     GENE-PROTEIN:CMA
 *     METABOLIC:GMA
 */

#include "kine.h"

void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *kxg	= p->val[2];
	double *f	= p->val[3];

	fvec[  1] = -kxg[2]*pow(y[3], f[3]);
	fvec[  2] = kxg[1]*pow((y[1] + y[2]), f[1])*pow(constantPlayer[1], f[2]) - kxg[2]*pow(y[3], f[3]);
	fvec[  3] = kxg[1]*pow((y[1] + y[2]), f[1])*pow(constantPlayer[1], f[2]) - 2*kxg[2]*pow(y[3], f[3]);
}

void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *kxg	= p->val[2];
	double *f	= p->val[3];

	fjac[  1][  3] = -f[3]*pow(y[3], f[3] - 1)*kxg[2];
	fjac[  2][  1] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	fjac[  2][  2] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	fjac[  2][  3] = -f[3]*pow(y[3], f[3] - 1)*kxg[2];
	fjac[  3][  1] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	fjac[  3][  2] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	fjac[  3][  3] = -f[3]*pow(y[3], f[3] - 1)*kxg[2]*2;
}
