package jp.co.vorn.quendra;

import java.nio.charset.Charset;
import jp.co.vorn.quendra.sbml.JModelBuilder;
import jp.co.vorn.quendra.sbml.ModelOrigins;
import jp.co.vorn.quendra.sbml.ModelReadException;
import jp.co.vorn.quendra.sbml.ReaderModel;
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

    /**
     * After a successful parse: lines for the system log about what the reader did with the
     * model (participants left out, ...), in MS932.
     */
    public byte[] notes = new byte[0];
    /** After a successful parse: what each species and reaction number is in the file (MS932). */
    public byte[] origins = new byte[0];

    private static final Charset MS932 = Charset.forName("MS932");

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
                ReaderModel model = SbmlModelReader.readRecords(path);
                pack.model = JModelBuilder.build(model);
                pack.result = 0;
                pack.errmsg = "";
                notes = logLines(path, model).getBytes(MS932);
                origins = ModelOrigins.of(model).getBytes(MS932);
            }
        } catch (ModelReadException e) {
            fail(pack, path, e.getMessage());
        } catch (Throwable e) {
            fail(pack, path, "unexpected failure while reading the model: " + e);
        }
        return 0;
    }

    private static String logLines(String path, ReaderModel model) {
        StringBuilder lines = new StringBuilder();
        for (String note : model.notes) lines.append(logLine(path, note));
        return lines.toString();
    }

    // One line, ending in a line break, within the field the converter copies messages into.
    private static String logLine(String path, String text) {
        String line = TextRules.oneLine("parseXML: " + path + ": " + text);
        return TextRules.fitBytes(line, TextRules.TEXT_BYTES - 1) + "\n";
    }

    // errmsg goes unchanged into the system log: one line, ending in a line break, within the
    // field the converter copies it into.
    private static void fail(JModelPack pack, String path, String reason) {
        pack.result = RESULT_FAILED;
        try {
            pack.model = JModelBuilder.empty();
            pack.errmsg = logLine(path, reason);
        } catch (Throwable e) {
            pack.errmsg = "parseXML: the model cannot be read\n";
        }
    }
}
