package jp.co.vorn.quendra;

import jp.co.vorn.quendra.sbml.JModelBuilder;
import jp.co.vorn.quendra.sbml.ModelReadException;
import jp.co.vorn.quendra.sbml.SbmlModelReader;
import jp.co.vorn.quendra.sbml.TextRules;

/**
 * The model reader that rxnconv runs in its JVM: reads an SBML model file into a JModelPack.
 * It never throws; every failure becomes result 2 with a one-line message in errmsg.
 */
public class InputXML {
    /** Outcome of a parse that failed. */
    public static final int RESULT_FAILED = 2;

    // libSBML's Java classes need their native library; a failure to load it is reported by
    // every parse instead of breaking the class.
    private static final String LIBRARY_FAILURE = loadLibSbml();

    public InputXML() {}

    private static String loadLibSbml() {
        try {
            System.loadLibrary("sbmlj");
            return null;
        } catch (Throwable e) {
            return "cannot load libSBML's native library 'sbmlj' (" + e.getMessage()
                    + "); java.library.path is '" + System.getProperty("java.library.path") + "'";
        }
    }

    /**
     * Parses the model file at path into pack. mode is not used (rxnconv passes 1). Returns 0
     * whenever pack could be filled, also for a model that cannot be read (then pack.result is
     * 2); 1 only when there is no pack to fill.
     */
    public int parseXML(String path, int mode, JModelPack pack) {
        if (pack == null) return 1;
        try {
            if (path == null) path = "";
            if (LIBRARY_FAILURE != null) {
                fail(pack, path, LIBRARY_FAILURE);
            } else {
                pack.model = SbmlModelReader.read(path);
                pack.result = 0;
                pack.errmsg = "";
            }
        } catch (ModelReadException e) {
            fail(pack, path, e.getMessage());
        } catch (Throwable e) {
            fail(pack, path, "unexpected failure while reading the model: " + e);
        }
        return 0;
    }

    // errmsg goes unchanged into the system log: one line, ending in a line break, within the
    // field the converter copies it into.
    private static void fail(JModelPack pack, String path, String reason) {
        pack.result = RESULT_FAILED;
        try {
            pack.model = JModelBuilder.empty();
            String line = TextRules.oneLine("parseXML: " + path + ": " + reason);
            pack.errmsg = TextRules.fitBytes(line, TextRules.TEXT_BYTES - 1) + "\n";
        } catch (Throwable e) {
            pack.errmsg = "parseXML: the model cannot be read\n";
        }
    }
}
