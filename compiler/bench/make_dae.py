"""Writes a DAE file of N differential equations for the symcode benchmark.

Equation i couples species S_i with its two neighbours on a ring through mass action,
a saturating term with a power and a division, so every equation refers to three variables
and four parameter elements: the Jacobian has 3 N non-zero entries.
"""
import sys


def equation(i, n):
    up = i % n + 1
    down = (i - 2) % n + 1
    return (f"deq_{i}: dydt[S{i}.cyt] = - ka[{i}]*y[S{i}.cyt]*y[S{up}.cyt]"
            f" + kd[{i}]*y[S{down}.cyt]^2/(Kmich[{i}] + y[S{down}.cyt])"
            f" - kx[{i}]*y[S{i}.cyt];\n")


def write_dae(path, n):
    with open(path, "w") as out:
        out.write("== Model ==\n\nTITLE:ring%d\nINFO:benchmark ring\nCONVERSION TYPE\n"
                  "    GENE-PROTEIN:CMA\n    METABOLIC:NONE\n\n" % n)
        out.write("== Constant Players ==\n\n\n== Variables ==\n\n= Algebraic Equation =\n\n\n"
                  "= Differencial Equation =\n\n")
        for i in range(1, n + 1):
            out.write(f"y[S{i}.cyt] = 1;\n")
        out.write("\n== Used Parameters ==\n\nka;\nkd;\nkx;\nKmich;\n\n== Parameters ==\n\n")
        for label in ("ka", "kd", "kx", "Kmich"):
            out.write(f"### {label}: benchmark\n")
            for i in range(1, n + 1):
                out.write(f"{label}[{i}] = 0.5; {label}_S{i}.cyt\n")
            out.write("\n")
        out.write("\n== Temporary Expressions ==\n\n== Algebraic Eqs. ==\n\n\n"
                  "== Differencial Eqs. ==\n\n")
        for i in range(1, n + 1):
            out.write(equation(i, n))


if __name__ == "__main__":
    write_dae(sys.argv[1], int(sys.argv[2]))
