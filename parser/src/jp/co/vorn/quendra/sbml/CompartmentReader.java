package jp.co.vorn.quendra.sbml;

import org.sbml.libsbml.Compartment;
import org.sbml.libsbml.Model;

/** Reads the compartments; numbers are 1-based positions. */
public final class CompartmentReader {
    private CompartmentReader() {}

    public static void read(Model model, ReaderModel into) throws ModelReadException {
        for (long i = 0; i < model.getNumCompartments(); i++) {
            Compartment compartment = model.getCompartment(i);
            String id = compartment.getId();
            String name = TextRules.chooseName(compartment.getName(), id);
            CompartmentRecord record = new CompartmentRecord(
                    into.compartments.size() + 1, id, name, volumeText(compartment));
            CompartmentRecord earlier = into.compartmentsById.putIfAbsent(id, record);
            if (earlier != null) {
                throw ModelReadException.at(compartment.getLine(),
                        "the compartment id '" + id + "' is used twice");
            }
            into.compartments.add(record);
        }
    }

    private static String volumeText(Compartment compartment) {
        if (!compartment.isSetSize()) return "";
        double size = compartment.getSize();
        return Double.isFinite(size) ? NumberText.format(size) : "";
    }
}
