(*

category:        Test
synopsis:        An InitialAssignment with missing MathML.
componentTags:   InitialAssignment, Parameter
testTags:        NoMathML
testType:        TimeCourse
levels:          3.2
generatedBy:     Analytic
packagesPresent: 

This test was written to ensure that if an InitialAssignment with no Math child is encountered, it is ignored.

The model contains:
* 1 parameter (p)
The initial conditions are as follows:

[{width:35em,margin: 1em auto}|       | *Value* | *Constant* |
| Initial value of parameter p | $3$ | constant |]

Note: The test data for this model was generated from an analytical
solution of the system of equations.

*)
