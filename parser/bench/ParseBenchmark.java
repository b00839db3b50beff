import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;
import jp.co.vorn.quendra.InputXML;
import jp.co.vorn.quendra.JModelPack;
import jp.co.vorn.quendra.sbml.CompartmentReader;
import jp.co.vorn.quendra.sbml.ComplexInference;
import jp.co.vorn.quendra.sbml.DisplayText;
import jp.co.vorn.quendra.sbml.ElementCycleCheck;
import jp.co.vorn.quendra.sbml.JModelBuilder;
import jp.co.vorn.quendra.sbml.LayerRule;
import jp.co.vorn.quendra.sbml.ModelFile;
import jp.co.vorn.quendra.sbml.ReactionReader;
import jp.co.vorn.quendra.sbml.ReaderModel;
import jp.co.vorn.quendra.sbml.SpeciesReader;
import org.sbml.libsbml.Model;
import org.sbml.libsbml.SBMLDocument;

/**
 * Timing tool (not a test): writes a model of the given size and times the whole parseXML,
 * then its phases one by one: libSBML's read, reading species and reactions from libSBML's
 * objects, the inference and display texts, and filling the converter's objects. Three rounds: the first is what one rxnconv
 * run pays, the later ones show the JIT-compiled cost.
 *
 * Usage: ParseBenchmark file species reactions
 */
public class ParseBenchmark {
    public static void main(String[] args) throws Exception {
        String path = args[0];
        int species = Integer.parseInt(args[1]);
        int reactions = Integer.parseInt(args[2]);
        long start = System.nanoTime();
        Files.write(Paths.get(path), generate(species, reactions).getBytes(StandardCharsets.UTF_8));
        System.out.printf("generated %s (%d species, %d reactions, %d bytes) in %.0f ms%n", path,
                species, reactions, Files.size(Paths.get(path)), millis(start));
        for (int round = 1; round <= 3; round++) round(path, round);
    }

    private static void round(String path, int round) throws Exception {
        long start = System.nanoTime();
        JModelPack pack = new JModelPack();
        new InputXML().parseXML(path, 1, pack);
        double whole = millis(start);
        if (pack.result == 2) throw new IllegalStateException(pack.errmsg);

        start = System.nanoTime();
        SBMLDocument document = ModelFile.read(path);
        double read = millis(start);
        Model model = document.getModel();
        ReaderModel records = new ReaderModel();
        start = System.nanoTime();
        CompartmentReader.read(model, records);
        SpeciesReader.read(model, records);
        double species = millis(start);
        start = System.nanoTime();
        ReactionReader.read(model, records);
        double reactions = millis(start);
        start = System.nanoTime();
        ComplexInference.completeBindingProducts(records);
        ComplexInference.addEnzymeComplexes(records);
        ElementCycleCheck.check(records);
        LayerRule.assign(records);
        DisplayText.assign(records);
        double inference = millis(start);
        document.delete();
        start = System.nanoTime();
        JModelBuilder.build(records);
        double build = millis(start);
        System.out.printf("round %d: parseXML %.0f ms; apart: libSBML read %.0f ms, species %.0f ms,"
                + " reactions %.0f ms, inference and texts %.0f ms, model objects %.0f ms"
                + " (%d species after inference)%n",
                round, whole, read, species, reactions, inference, build, records.species.size());
    }

    private static double millis(long start) {
        return (System.nanoTime() - start) / 1e6;
    }

    // Species S1..Sn in two compartments, every third annotated, every tenth a complex of its two
    // predecessors. Reactions in turn: binding, enzymatic (complex made by the reader), grouped
    // transcription, conversion with a stoichiometryMath on every hundredth.
    static String generate(int species, int reactions) {
        StringBuilder xml = new StringBuilder(species * 200 + reactions * 400);
        xml.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sbml xmlns=\"http://www.sbml.org/"
                + "sbml/level2/version4\" level=\"2\" version=\"4\">\n<model id=\"large\">\n"
                + "<listOfCompartments><compartment id=\"a\" name=\"cytosol\" size=\"1\"/>"
                + "<compartment id=\"b\" name=\"nucleus\" size=\"1\"/></listOfCompartments>\n"
                + "<listOfSpecies>\n");
        for (int i = 1; i <= species; i++) species(xml, i);
        xml.append("</listOfSpecies>\n<listOfParameters><parameter id=\"k\" value=\"2\"/>"
                + "</listOfParameters>\n<listOfReactions>\n");
        for (int j = 1; j <= reactions; j++) reaction(xml, j, species);
        return xml.append("</listOfReactions>\n</model>\n</sbml>\n").toString();
    }

    private static void species(StringBuilder xml, int i) {
        xml.append("<species id=\"S").append(i).append("\" name=\"S").append(i)
                .append("\" compartment=\"").append(i % 2 == 0 ? "a" : "b")
                .append("\" initialAmount=\"").append(i * 0.5).append("\"");
        if (i % 10 == 0 && i > 2) {
            xml.append("><annotation><zx:species xmlns:zx=\"urn:zymorax:network:1\" class=\"complex\">"
                    + "<zx:element species=\"S").append(i - 1).append("\"/><zx:element species=\"S")
                    .append(i - 2).append("\"/></zx:species></annotation></species>\n");
        } else if (i % 3 == 0) {
            xml.append("><annotation><zx:species xmlns:zx=\"urn:zymorax:network:1\" class=\"protein\""
                    + " massBalance=\"ON\" decomposition=\"OFF\"/></annotation></species>\n");
        } else {
            xml.append("/>\n");
        }
    }

    private static void reaction(StringBuilder xml, int j, int species) {
        int a = 1 + (j * 7) % species;
        int b = 1 + (j * 13) % species;
        int c = 1 + (j * 29) % species;
        xml.append("<reaction id=\"R").append(j).append("\" reversible=\"false\"");
        switch (j % 4) {
            case 0:
                xml.append(" sboTerm=\"SBO:0000177\">");
                break;
            case 2:
                xml.append("><annotation><zx:reaction xmlns:zx=\"urn:zymorax:network:1\" "
                        + "type=\"transcription\" group=\"g").append(j % 50).append("\"/></annotation>");
                break;
            default:
                xml.append(">");
        }
        xml.append("<listOfReactants><speciesReference species=\"S").append(a).append("\"");
        if (j % 100 == 3) {
            xml.append("><stoichiometryMath><math xmlns=\"http://www.w3.org/1998/Math/MathML\">"
                    + "<apply><times/><ci>k</ci><cn>2</cn></apply></math></stoichiometryMath>"
                    + "</speciesReference>");
        } else {
            xml.append("/>");
        }
        if (j % 4 == 0) xml.append("<speciesReference species=\"S").append(b).append("\"/>");
        xml.append("</listOfReactants><listOfProducts><speciesReference species=\"S").append(c)
                .append("\"/></listOfProducts>");
        if (j % 4 == 1 || j % 4 == 2) {
            xml.append("<listOfModifiers><modifierSpeciesReference species=\"S").append(b)
                    .append("\"/></listOfModifiers>");
        }
        xml.append("</reaction>\n");
    }
}
