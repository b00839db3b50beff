/* The Jacobian of model.c in compressed-column form, written by hand. */
#include "kine.h"

const int usr_fjac_n = 5;
const int usr_fjac_nnz = 10;
const int usr_fjac_colptr[] = {0, 2, 4, 9, 9, 10};
const int usr_fjac_rowidx[] = {0, 2, 2, 1, 0, 1, 2, 3, 4, 1};

void usr_fjac_csc(double values[], double y[], double Gene, Parameter *p)
{
	double *Kb	= p->val[2];
	double *kx	= p->val[3];

	values[0] = -1;
	values[1] = Kb[1]*y[2];
	values[2] = -1;
	values[3] = Kb[1]*y[1];
	values[4] = -1;
	values[5] = -1;
	values[6] = -1;
	values[7] = kx[1];
	values[8] = -kx[1];
	values[9] = 1;
}
