package jp.co.vorn.quendra.sbml;

import java.io.File;
import org.sbml.libsbml.SBMLDocument;
import org.sbml.libsbml.SBMLError;
import org.sbml.libsbml.SBMLReader;
import org.sbml.libsbml.libsbml;

/**
 * Opens a model file with libSBML; a file that libSBML reports errors for, or that nests XML
 * elements deeper than libSBML can read, is refused.
 */
public final class ModelFile {
    private ModelFile() {}

    /**
     * The SBML document of the file. The caller owns it and releases it with delete(). Warnings
     * are accepted; errors and fatal errors are not. Only what reading finds is checked (no
     * consistency validation: kinetics, units and rules are not used here).
     */
    public static SBMLDocument read(String path) throws ModelReadException {
        checkFile(path);
        XmlNesting.check(path);
        SBMLReader reader = new SBMLReader();
        SBMLDocument document = reader.readSBML(path);
        reader.delete();
        try {
            checkErrors(document);
            if (document.getModel() == null) {
                throw new ModelReadException("the SBML document holds no model");
            }
            return document;
        } catch (ModelReadException | RuntimeException | Error e) {
            document.delete();
            throw e;
        }
    }

    // libSBML says "File unreadable" for all of these; say which it is.
    private static void checkFile(String path) throws ModelReadException {
        if (path.isEmpty()) throw new ModelReadException("no model file name given");
        File file = new File(path);
        if (!file.exists()) throw new ModelReadException("no such file");
        if (file.isDirectory()) throw new ModelReadException("is a directory, not a model file");
        if (!file.canRead()) throw new ModelReadException("cannot be read (no permission)");
        if (file.length() == 0) throw new ModelReadException("the file is empty");
    }

    private static void checkErrors(SBMLDocument document) throws ModelReadException {
        SBMLError first = null;
        int count = 0;
        for (long i = 0; i < document.getNumErrors(); i++) {
            SBMLError error = document.getError(i);
            if (!isError(error)) continue;
            if (first == null) first = error;
            count++;
        }
        if (first == null) return;
        String more = count == 1 ? "" : count == 2 ? " (and 1 more error)"
                : " (and " + (count - 1) + " more errors)";
        throw ModelReadException.at(first.getLine(), TextRules.oneLine(first.getMessage()) + more);
    }

    private static boolean isError(SBMLError error) {
        long severity = error.getSeverity();
        return severity == libsbml.LIBSBML_SEV_ERROR || severity == libsbml.LIBSBML_SEV_FATAL;
    }
}
