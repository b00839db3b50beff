/*
 * TITLE:k[7] and y[99] in the model text are no code
 */

#include "kine.h"

void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)
{
	double *k	= p->val[1];

	fvec[  1] = -k[1]*y[1];
	fvec[  2] = k[3]*y[1] + k[4];
}

void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)
{
	double *k	= p->val[1];

}
