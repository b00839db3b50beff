/*
 * TITLE:chain
 * INFO:
 * CONVERSION TYPE
 *     GENE-PROTEIN:CMA
 *     METABOLIC:GMA
 */

#include "kine.h"

void get_GHdata(double **gd, double **gi, double **hd, double **hi,
	double *v_plus, double *v_minus, double *y, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *kxg	= p->val[2];
	double *f	= p->val[3];

	v_minus[  1] = kxg[2]*pow(y[3], f[3]);
	hd[  1][  3] = f[3]*pow(y[3], f[3] - 1)*kxg[2];
	v_plus [  2] = kxg[1]*pow((y[1] + y[2]), f[1])*pow(constantPlayer[1], f[2]);
	gd[  2][  1] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	gd[  2][  2] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	gi[  2][  1] = f[2]*pow(constantPlayer[1], f[2] - 1)*kxg[1]*pow((y[1] + y[2]), f[1]);
	v_minus[  2] = kxg[2]*pow(y[3], f[3]);
	hd[  2][  3] = f[3]*pow(y[3], f[3] - 1)*kxg[2];
	v_plus [  3] = kxg[1]*pow((y[1] + y[2]), f[1])*pow(constantPlayer[1], f[2]);
	gd[  3][  1] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	gd[  3][  2] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	gi[  3][  1] = f[2]*pow(constantPlayer[1], f[2] - 1)*kxg[1]*pow((y[1] + y[2]), f[1]);
	v_minus[  3] = 2*kxg[2]*pow(y[3], f[3]);
	hd[  3][  3] = f[3]*pow(y[3], f[3] - 1)*2*kxg[2];
}


void get_GHnum(int *n_var, int *n_const)
{
	*n_var = 3;
	*n_const = 1;
}
