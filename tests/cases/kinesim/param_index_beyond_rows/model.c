/*
 * TITLE:Decay
 * INFO:A decays into B
 * CONVERSION TYPE
 *     GENE-PROTEIN:NONE
 *     METABOLIC:GMA
 */

#include "kine.h"

void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)
{
	double *k	= p->val[1];

	fvec[  1] = -k[1]*y[1];
	fvec[  2] = k[1]*y[1];
}

void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)
{
	double *k	= p->val[1];

	fjac[  1][  1] = -k[1];
	fjac[  2][  1] = k[1];
}
