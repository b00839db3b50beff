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
	double *kplus	= p->val[2];
	double *kminus	= p->val[3];
	double *g	= p->val[4];
	double *h	= p->val[5];

	fvec[  1] =  - kminus[1]*pow(y[3],h[1]);
	fvec[  2] = kplus[2]*pow(y[1],g[1])*pow(y[2],g[2])*pow(constantPlayer[1],g[3]) - kminus[2]*pow(y[3],h[2]);
	fvec[  3] = kplus[3]*pow(y[1],g[4])*pow(y[2],g[5])*pow(constantPlayer[1],g[6]) - kminus[3]*pow(y[3],h[3]);
}

void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *kplus	= p->val[2];
	double *kminus	= p->val[3];
	double *g	= p->val[4];
	double *h	= p->val[5];

	fjac[  1][  3] =  - kminus[1]*h[1]*pow(y[3],h[1]-1);
	fjac[  2][  1] = kplus[2]*g[1]*pow(y[1],g[1]-1)*pow(y[2],g[2])*pow(constantPlayer[1],g[3]);
	fjac[  2][  2] = kplus[2]*pow(y[1],g[1])*g[2]*pow(y[2],g[2]-1)*pow(constantPlayer[1],g[3]);
	fjac[  2][  3] =  - kminus[2]*h[2]*pow(y[3],h[2]-1);
	fjac[  3][  1] = kplus[3]*g[4]*pow(y[1],g[4]-1)*pow(y[2],g[5])*pow(constantPlayer[1],g[6]);
	fjac[  3][  2] = kplus[3]*pow(y[1],g[4])*g[5]*pow(y[2],g[5]-1)*pow(constantPlayer[1],g[6]);
	fjac[  3][  3] =  - kminus[3]*h[3]*pow(y[3],h[3]-1);
}

