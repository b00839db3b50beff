/*
 * TITLE:Rapid binding in a closed system
 * INFO:E + S <=> E:S in rapid equilibrium, E:S -> E + P; the total enzyme is constant and the total substrate TS = S + E:S is used up into P.
 * CONVERSION TYPE
 *     GENE-PROTEIN:TPP_RAPID
 *     METABOLIC:GMA
 */

#include "kine.h"

void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *Kb	= p->val[2];
	double *kx	= p->val[3];

	fvec[  1] = constantPlayer[1] - (y[1] + y[3]);
	fvec[  2] = y[5] - (y[2] + y[3]);
	fvec[  3] = Kb[1]*y[1]*y[2] - y[3];
	fvec[  4] = kx[1]*y[3];
	fvec[  5] = -kx[1]*y[3];
}

void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *Kb	= p->val[2];
	double *kx	= p->val[3];

	fjac[  1][  1] = -1;
	fjac[  1][  3] = -1;
	fjac[  2][  2] = -1;
	fjac[  2][  3] = -1;
	fjac[  2][  5] = 1;
	fjac[  3][  1] = Kb[1]*y[2];
	fjac[  3][  2] = Kb[1]*y[1];
	fjac[  3][  3] = -1;
	fjac[  4][  3] = kx[1];
	fjac[  5][  3] = -kx[1];
}
