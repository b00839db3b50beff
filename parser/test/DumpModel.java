import jp.co.vorn.quendra.InputXML;
import jp.co.vorn.quendra.JCompartment;
import jp.co.vorn.quendra.JListOfElements;
import jp.co.vorn.quendra.JListOfModifiers;
import jp.co.vorn.quendra.JListOfProducts;
import jp.co.vorn.quendra.JListOfReactants;
import jp.co.vorn.quendra.JListOfReactions;
import jp.co.vorn.quendra.JModel;
import jp.co.vorn.quendra.JModelPack;
import jp.co.vorn.quendra.JModifierComplex;
import jp.co.vorn.quendra.JModifierSpecieReference;
import jp.co.vorn.quendra.JReaction;
import jp.co.vorn.quendra.JSpecie;
import jp.co.vorn.quendra.JSpecieAttribute;
import jp.co.vorn.quendra.JSpecieReference;
import java.io.File;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import org.sbml.libsbml.SBMLDocument;
import org.sbml.libsbml.SBMLReader;
import org.sbml.libsbml.libsbml;

/**
 * Test tool: runs InputXML on model files and prints the whole JModelPack as stable text, one
 * object per line. A count that differs from its array's length is printed as a MISMATCH line.
 *
 * Usage: DumpModel [--check] file...   (--check adds libSBML's consistency check of each file;
 * with several files each dump starts with "== <file name>").
 *        DumpModel --null-path             (parses a null path)
 *        DumpModel --null-pack             (prints what parseXML returns without a pack)
 */
public class DumpModel {
    private static final PrintStream out = new PrintStream(System.out, true, StandardCharsets.UTF_8);

    public static void main(String[] args) {
        if (args.length == 1 && args[0].equals("--null-pack")) {
            out.println("parseXML " + new InputXML().parseXML("model.xml", 1, null));
            return;
        }
        if (args.length == 1 && args[0].equals("--null-path")) {
            JModelPack pack = new JModelPack();
            out.println("parseXML " + new InputXML().parseXML(null, 1, pack));
            dump(pack);
            return;
        }
        boolean check = args.length > 0 && args[0].equals("--check");
        int first = check ? 1 : 0;
        for (int i = first; i < args.length; i++) {
            if (args.length - first > 1) out.println("== " + new File(args[i]).getName());
            JModelPack pack = new JModelPack();
            int status = new InputXML().parseXML(args[i], 1, pack);
            out.println("parseXML " + status);
            dump(pack);
            if (check) consistency(args[i]);
        }
        out.flush();
    }

    private static void consistency(String path) {
        SBMLDocument document = new SBMLReader().readSBML(path);
        document.checkConsistency();
        long errors = 0;
        for (long i = 0; i < document.getNumErrors(); i++) {
            long severity = document.getError(i).getSeverity();
            if (severity == libsbml.LIBSBML_SEV_ERROR || severity == libsbml.LIBSBML_SEV_FATAL) {
                errors++;
                out.println("consistency: line " + document.getError(i).getLine() + ": "
                        + document.getError(i).getMessage().trim());
            }
        }
        out.println("consistency errors " + errors);
        document.delete();
    }

    private static void dump(JModelPack pack) {
        out.println("result " + pack.result);
        out.println("errmsg " + quote(pack.errmsg));
        JModel model = pack.model;
        if (model == null) {
            out.println("model null");
            return;
        }
        out.println("model " + quote(model.name));
        out.println("info " + quote(model.modelInfo));
        compartments(model);
        species(model);
        if (model.listOfReactions == null) {
            out.println("layers null");
            return;
        }
        count("layers", model.listOfReactions_n, model.listOfReactions.length);
        for (JListOfReactions layer : model.listOfReactions) layer(layer);
    }

    private static void compartments(JModel model) {
        JCompartment[] all = model.listOfCompartments.compartment;
        count("compartments", model.listOfCompartments.numberOfCompartments, length(all));
        if (all == null) return;
        for (JCompartment c : all) {
            out.println("compartment " + c.compartmentID + " " + quote(c.name) + " volume "
                    + quote(c.volume));
        }
    }

    private static void species(JModel model) {
        JSpecie[] all = model.listOfSpecies.specie;
        count("species", model.listOfSpecies.numberOfSpecies, length(all));
        if (all == null) return;
        for (JSpecie s : all) {
            JSpecieAttribute a = s.specieAttribute;
            out.println("species " + s.specieID + " " + quote(s.name) + " compartment "
                    + s.compartment + " class " + a.specieClass + " massBalance " + a.massBalance
                    + " totalAmount " + a.totalAmount + " decomposition " + a.decomposition
                    + " initial " + a.initialAmount_isValid + " " + quote(a.initialAmount));
            if (s.listOfElements == null) {
                out.println("  elements null");
                continue;
            }
            count("  element lists", s.listOfElements_n, s.listOfElements.length);
            for (JListOfElements list : s.listOfElements) {
                count("    elements", list.numberOfElements, length(list.specieReference));
                references("      element", list.specieReference);
            }
        }
    }

    private static void layer(JListOfReactions layer) {
        out.println("layer " + layer.layer);
        count("  reactions", layer.numberOfReactions, length(layer.reaction));
        if (layer.reaction == null) return;
        for (JReaction r : layer.reaction) {
            out.println("  reaction " + r.reactionID + " group " + r.groupID + " type "
                    + r.reactionType + " convertible " + r.isConvertible + " text "
                    + quote(r.modifierReactionEquation));
            reactionLists(r);
        }
    }

    private static void reactionLists(JReaction r) {
        count("    reactant lists", r.listOfReactants_n, length(r.listOfReactants));
        if (r.listOfReactants != null) {
            for (JListOfReactants list : r.listOfReactants) {
                count("      reactants", list.numberOfReactants, length(list.specieReference));
                references("        reactant", list.specieReference);
            }
        }
        count("    product lists", r.listOfProducts_n, length(r.listOfProducts));
        if (r.listOfProducts != null) {
            for (JListOfProducts list : r.listOfProducts) {
                count("      products", list.numberOfProducts, length(list.specieReference));
                references("        product", list.specieReference);
            }
        }
        modifiers(r);
        count("    complexes", r.modifierComplex_n, length(r.modifierComplex));
        if (r.modifierComplex != null) {
            for (JModifierComplex c : r.modifierComplex) {
                references("      complex", new JSpecieReference[] {c.specieReference});
            }
        }
    }

    private static void modifiers(JReaction r) {
        count("    modifier lists", r.listOfModifiers_n, length(r.listOfModifiers));
        if (r.listOfModifiers == null) return;
        for (JListOfModifiers list : r.listOfModifiers) {
            count("      modifiers", list.numberOfModifiers, length(list.modifierSpecieReference));
            if (list.modifierSpecieReference == null) continue;
            for (JModifierSpecieReference m : list.modifierSpecieReference) {
                out.println("        modifier " + m.specieID + " " + quote(m.name) + " compartment "
                        + m.compartment + " stoichiometry " + quote(m.stoichiometry) + " type "
                        + m.modifierType + " isTotal " + m.isTotal);
            }
        }
    }

    private static void references(String label, JSpecieReference[] references) {
        if (references == null) return;
        for (JSpecieReference r : references) {
            if (r == null) {
                out.println(label + " null");
                continue;
            }
            out.println(label + " " + r.specieID + " " + quote(r.name) + " compartment "
                    + r.compartment + " stoichiometry " + quote(r.stoichiometry));
        }
    }

    private static int length(Object[] array) {
        return array == null ? -1 : array.length;
    }

    private static void count(String label, int count, int length) {
        out.println(label + " " + count + (count == length ? "" : " MISMATCH array " + length));
    }

    private static String quote(String text) {
        if (text == null) return "null";
        StringBuilder quoted = new StringBuilder("\"");
        for (char c : text.toCharArray()) {
            if (c == '"' || c == '\\') {
                quoted.append('\\').append(c);
            } else if (c == '\n') {
                quoted.append("\\n");
            } else if (c < 0x20 || c == 0x7f) {
                quoted.append(String.format("\\x%02x", (int) c));
            } else {
                quoted.append(c);
            }
        }
        return quoted.append('"').toString();
    }
}
