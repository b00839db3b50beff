/*
 * TITLE:bind
 * INFO:A and B bind to AB
 * CONVERSION TYPE
 *     GENE-PROTEIN:TPP_STEADYSTATE_1
 *     METABOLIC:NONE
 */

#include "kine.h"

void usr_flux(double total[], double flux[], double y[], double Gene, Parameter *p)
{
	double *constantPlayer	= p->val[1];
	double *ka	= p->val[2];
	double *kd	= p->val[3];
	double *kx	= p->val[4];


	/* No Total expression. */

	/* No Flux expression. */
}

