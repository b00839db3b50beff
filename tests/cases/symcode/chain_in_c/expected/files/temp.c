/*
 * TITLE:chain
 * INFO:
 * CONVERSION TYPE
 *     GENE-PROTEIN:CMA
 *     METABOLIC:GMA
 */

#include "kine.h"

void usr_flux(double total[], double flux[], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *kxg	= p->val[2];
	double *f	= p->val[3];

	total[  1] = y[1] + y[2]; /* T_E.cyt */
	flux[  2] = kxg[1]*pow((y[1] + y[2]), f[1])*pow(constantPlayer[1], f[2]); /* flux_E.cyt_Glc.ext_to_P.cyt */
	flux[  3] = kxg[2]*pow(y[3], f[3]); /* flux_P.cyt_to */
}

