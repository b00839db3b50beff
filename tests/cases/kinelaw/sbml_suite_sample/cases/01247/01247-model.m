(*

category:        Test
synopsis:        A Constraint with no MathML.
componentTags:   Parameter
testTags:        NoMathML
testType:        TimeCourse
levels:          3.2
generatedBy:     Analytic
packagesPresent: 

This test was written to ensure that a Constraint with no MathML is properly ignored.

The model contains:
* 1 parameter (p)

It also contains 1 constraints ((unset)) The initial conditions are as follows:

[{width:35em,margin: 1em auto}|       | *Value* | *Constant* |
| Initial value of parameter p | $3$ | constant |]

Note: The test data for this model was generated from an analytical
solution of the system of equations.

*)
