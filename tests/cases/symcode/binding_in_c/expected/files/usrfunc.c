/*
 * TITLE:bind
 * INFO:A and B bind to AB
 * CONVERSION TYPE
 *     GENE-PROTEIN:TPP_STEADYSTATE_1
 *     METABOLIC:NONE
 */

#include "kine.h"

void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *ka	= p->val[2];
	double *kd	= p->val[3];
	double *kx	= p->val[4];

	fvec[  1] = y[4] - (y[1] + y[2]);
	fvec[  2] = ka[1]*y[1]*y[3] - kd[1]*y[2];
	fvec[  3] = -ka[1]*y[1]*y[3] + kd[1]*y[2] + kx[1]*constantPlayer[1];
	fvec[  4] = -0.5*kx[1]*pow(y[2], 2);
}

void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *ka	= p->val[2];
	double *kd	= p->val[3];
	double *kx	= p->val[4];

	fjac[  1][  1] = -1;
	fjac[  1][  2] = -1;
	fjac[  1][  4] = 1;
	fjac[  2][  1] = ka[1]*y[3];
	fjac[  2][  2] = -kd[1];
	fjac[  2][  3] = ka[1]*y[1];
	fjac[  3][  1] = -ka[1]*y[3];
	fjac[  3][  2] = kd[1];
	fjac[  3][  3] = -ka[1]*y[1];
	fjac[  4][  2] = -2*y[2]*0.5*kx[1];
}
