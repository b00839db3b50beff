/*
 * TITLE:chain
 * INFO:
 * CONVERSION TYPE
 *     GENE-PROTEIN:CMA
 *     METABOLIC:GMA
 */

#include "kine.h"

/* d fvec[i]/d p in compressed-column form, indices from 0: column c is the parameter
   element p->val[usr_fpar_label[c]][usr_fpar_element[c]], and its entries are rows
   usr_fpar_rowidx[usr_fpar_colptr[c] .. usr_fpar_colptr[c+1]-1] (row i-1 for fvec[i]),
   increasing. An element no equation reads has no column. */
const int usr_fpar_n = 3;
const int usr_fpar_columns = 6;
const int usr_fpar_nnz = 14;
const int usr_fpar_label[] = {
	1, 2, 2, 3, 3, 3
};
const int usr_fpar_element[] = {
	1, 1, 2, 1, 2, 3
};
const int usr_fpar_colptr[] = {
	0, 2, 4, 7, 9, 11, 14
};
const int usr_fpar_rowidx[] = {
	1, 2, 1, 2, 0, 1, 2, 1, 2, 1, 2, 0, 1, 2
};

void usr_fpar_csc(double values[], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *kxg	= p->val[2];
	double *f	= p->val[3];

	values[0] = f[2]*pow(constantPlayer[1], f[2] - 1)*kxg[1]*pow((y[1] + y[2]), f[1]);	/* d fvec[2]/d constantPlayer[1] */
	values[1] = f[2]*pow(constantPlayer[1], f[2] - 1)*kxg[1]*pow((y[1] + y[2]), f[1]);	/* d fvec[3]/d constantPlayer[1] */
	values[2] = pow((y[1] + y[2]), f[1])*pow(constantPlayer[1], f[2]);	/* d fvec[2]/d kxg[1] */
	values[3] = pow((y[1] + y[2]), f[1])*pow(constantPlayer[1], f[2]);	/* d fvec[3]/d kxg[1] */
	values[4] = -pow(y[3], f[3]);	/* d fvec[1]/d kxg[2] */
	values[5] = -pow(y[3], f[3]);	/* d fvec[2]/d kxg[2] */
	values[6] = -pow(y[3], f[3])*2;	/* d fvec[3]/d kxg[2] */
	values[7] = log(y[1] + y[2])*pow((y[1] + y[2]), f[1])*kxg[1]*pow(constantPlayer[1], f[2]);	/* d fvec[2]/d f[1] */
	values[8] = log(y[1] + y[2])*pow((y[1] + y[2]), f[1])*kxg[1]*pow(constantPlayer[1], f[2]);	/* d fvec[3]/d f[1] */
	values[9] = log(constantPlayer[1])*pow(constantPlayer[1], f[2])*kxg[1]*pow((y[1] + y[2]), f[1]);	/* d fvec[2]/d f[2] */
	values[10] = log(constantPlayer[1])*pow(constantPlayer[1], f[2])*kxg[1]*pow((y[1] + y[2]), f[1]);	/* d fvec[3]/d f[2] */
	values[11] = -log(y[3])*pow(y[3], f[3])*kxg[2];	/* d fvec[1]/d f[3] */
	values[12] = -log(y[3])*pow(y[3], f[3])*kxg[2];	/* d fvec[2]/d f[3] */
	values[13] = -log(y[3])*pow(y[3], f[3])*kxg[2]*2;	/* d fvec[3]/d f[3] */
}
