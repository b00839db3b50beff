package jp.co.vorn.quendra.sbml;

/** A model file that cannot be used; the message says why, in words meant for the modeller. */
public class ModelReadException extends Exception {
    private static final long serialVersionUID = 1L;

    public ModelReadException(String message) {
        super(message);
    }

    /** A fault at a line of the model file (lines below 1 are unknown and left out). */
    public static ModelReadException at(long line, String message) {
        return new ModelReadException(located(line, message));
    }

    /** "line <n>: <message>", or the message alone when the line is unknown. */
    public static String located(long line, String message) {
        return line > 0 ? "line " + line + ": " + message : message;
    }
}
