(*

category:        Test
synopsis:        Use of the 'rem' MathML in an initial assignment.
componentTags:   InitialAssignment, Parameter
testTags:        InitialValueReassigned, L3v2MathML
testType:        TimeCourse
levels:          3.2
generatedBy:     Numeric
packagesPresent: 

In this model, the 'rem' MathML symbol is used in an initial assignment.

The model contains:
* 1 parameter (p1)
The initial conditions are as follows:

[{width:35em,margin: 1em auto}|       | *Value* | *Constant* |
| Initial value of parameter p1 | $rem(9, 2)$ | constant |]

*)
