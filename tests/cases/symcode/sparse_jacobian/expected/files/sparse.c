/*
 * TITLE:chain
 * INFO:
 * CONVERSION TYPE
 *     GENE-PROTEIN:CMA
 *     METABOLIC:GMA
 */

#include "kine.h"

/* d fvec[i]/d y[j] in compressed-column form, indices from 0 (row i-1, column j-1): the
   entries of column c are rows usr_fjac_rowidx[usr_fjac_colptr[c] .. usr_fjac_colptr[c+1]-1],
   increasing. Exactly the entries usr_fjac writes. */
const int usr_fjac_n = 3;
const int usr_fjac_nnz = 7;
const int usr_fjac_colptr[] = {
	0, 2, 4, 7
};
const int usr_fjac_rowidx[] = {
	1, 2, 1, 2, 0, 1, 2
};

void usr_fjac_csc(double values[], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *kxg	= p->val[2];
	double *f	= p->val[3];

	values[0] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	values[1] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	values[2] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	values[3] = f[1]*pow((y[1] + y[2]), f[1] - 1)*kxg[1]*pow(constantPlayer[1], f[2]);
	values[4] = -f[3]*pow(y[3], f[3] - 1)*kxg[2];
	values[5] = -f[3]*pow(y[3], f[3] - 1)*kxg[2];
	values[6] = -f[3]*pow(y[3], f[3] - 1)*kxg[2]*2;
}
