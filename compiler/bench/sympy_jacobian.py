"""Reads the equations of a DAE file written by make_dae.py, forms the Jacobian with SymPy
(each equation differentiated by the variables it refers to, as symcode does) and prints
usr_fvec and usr_fjac as C. Prints the seconds spent parsing and differentiating/printing."""
import re
import sys
import time

import sympy


def load_equations(path):
    variables = {}
    rows = []
    section = None
    with open(path) as dae:
        for line in dae:
            if line.startswith("== "):
                section = line[3:6]
            elif section == "Var" and line.startswith("y["):
                variables[line[2:line.index("]")]] = len(variables) + 1
            elif section == "Dif" and line.startswith("deq_"):
                rows.append(line[line.index("=") + 1:].strip().rstrip(";"))
    return variables, rows


def main(path, out_path):
    start = time.perf_counter()
    variables, rows = load_equations(path)
    symbols = {}   # Python identifier -> symbol printed as its C name
    columns_of = {}  # state symbol -> its column

    def symbol(match):
        base, index = match.group(1), match.group(2)
        c_name = "y[%d]" % variables[index] if base == "y" else "%s[%s]" % (base, index)
        identifier = "v_" + re.sub(r"\W", "_", c_name)
        if identifier not in symbols:
            symbols[identifier] = sympy.Symbol(c_name, positive=True)
            if base == "y":
                columns_of[symbols[identifier]] = variables[index]
        return identifier

    expressions = []
    for text in rows:
        python_text = re.sub(r"(\w+)\[([^\]]+)\]", symbol, text).replace("^", "**")
        expressions.append(sympy.sympify(python_text, locals=symbols))
    parsed = time.perf_counter()

    with open(out_path, "w") as out:
        out.write("void usr_fvec(double fvec[], double y[])\n{\n")
        for i, expression in enumerate(expressions, 1):
            out.write("\tfvec[%3d] = %s;\n" % (i, sympy.ccode(expression)))
        out.write("}\n\nvoid usr_fjac(double fjac[][MAX_VAR_NUM], double y[])\n{\n")
        for i, expression in enumerate(expressions, 1):
            columns = sorted((s for s in expression.free_symbols if s in columns_of),
                             key=columns_of.get)
            for column in columns:
                derivative = sympy.diff(expression, column)
                if derivative != 0:
                    out.write("\tfjac[%3d][%3d] = %s;\n"
                              % (i, columns_of[column], sympy.ccode(derivative)))
        out.write("}\n")
    done = time.perf_counter()
    print("%.3f %.3f" % (parsed - start, done - parsed))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
