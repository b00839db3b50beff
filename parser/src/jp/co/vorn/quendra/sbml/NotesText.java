package jp.co.vorn.quendra.sbml;

import org.sbml.libsbml.XMLNode;

/** The plain text of SBML notes, on one line. */
public final class NotesText {
    private NotesText() {}

    /** All character data of the notes in document order, each element set off by a blank. */
    public static String of(XMLNode notes) {
        if (notes == null) return "";
        StringBuilder text = new StringBuilder();
        collect(notes, text);
        return TextRules.oneLine(text.toString());
    }

    private static void collect(XMLNode node, StringBuilder text) {
        if (node.isText()) {
            text.append(node.getCharacters());
            return;
        }
        text.append(' ');
        for (long i = 0; i < node.getNumChildren(); i++) collect(node.getChild(i), text);
        text.append(' ');
    }
}
