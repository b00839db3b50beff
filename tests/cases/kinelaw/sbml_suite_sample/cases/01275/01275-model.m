(*

category:        Test
synopsis:        Use of the 'max' MathML in initial assignments.
componentTags:   InitialAssignment, Parameter
testTags:        InitialValueReassigned, L3v2MathML
testType:        TimeCourse
levels:          3.2
generatedBy:     Numeric
packagesPresent: 

Three tests of the 'max' MathML construct.

The model contains:
* 3 parameters (p1, p2, p3)
The initial conditions are as follows:

[{width:35em,margin: 1em auto}|       | *Value* | *Constant* |
| Initial value of parameter p1 | $max(-1, -10)$ | constant |
| Initial value of parameter p2 | $max(30)$ | constant |
| Initial value of parameter p3 | $max(2, 200, 20)$ | constant |]

*)
