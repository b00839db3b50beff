package jp.co.vorn.quendra.sbml;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Paths;

/**
 * libSBML reads nested XML elements recursively, so a file that nests deeply enough overflows
 * the stack and ends the process without a word. Real models nest a few dozen levels; a file
 * that nests deeper than MAX_DEPTH is refused before libSBML sees it. The scan only tracks
 * markup: comments, CDATA sections, processing instructions, declarations and quoted attribute
 * values are skipped; whether the XML is well-formed is left to libSBML.
 *
 * The Java side runs interpreted, so the scan works on the file's bytes in a few tight loops
 * (one call per piece of markup, not per byte) and counts lines only for the message.
 */
final class XmlNesting {
    static final int MAX_DEPTH = 500;

    private final byte[] text;
    // Set by startTagEnd: whether the tag just read opens an element ("<a>", not "<a/>").
    private boolean tagOpens;

    private XmlNesting(byte[] text) {
        this.text = text;
    }

    static void check(String path) throws ModelReadException {
        byte[] text;
        try {
            text = Files.readAllBytes(Paths.get(path));
        } catch (IOException e) {
            throw new ModelReadException("cannot be read (" + e.getMessage() + ")");
        }
        new XmlNesting(text).scan();
    }

    // Bytes are enough: markup characters are ASCII in every encoding libSBML reads.
    private void scan() throws ModelReadException {
        final byte[] t = text;
        final int n = t.length;
        int depth = 0;
        int i = 0;
        while (i < n) {
            if (t[i++] != '<' || i == n) continue;
            int c = t[i++];
            if (c == '/') {
                depth = Math.max(0, depth - 1);
                i = skipPast(i, (byte) '>');
            } else if (c == '!') {
                i = declaration(i);
            } else if (c == '?') {
                i = skipPast(i, "?>");
            } else {
                i = startTagEnd(i, c);
                if (tagOpens && ++depth > MAX_DEPTH) {
                    throw ModelReadException.at(lineAt(i), "XML elements are nested more than "
                            + MAX_DEPTH + " levels deep; no model needs that many");
                }
            }
        }
    }

    // The line number of the byte before position i.
    private long lineAt(int i) {
        long line = 1;
        for (int j = 0; j < i; j++) {
            if (text[j] == '\n') line++;
        }
        return line;
    }

    // After "<!": a comment, a CDATA section or a declaration; the position after it.
    private int declaration(int i) {
        if (i == text.length) return i;
        int c = text[i++];
        if (c == '-') return skipPast(i, "-->");
        if (c == '[') return skipPast(i, "]]>");
        return skipDeclaration(i);
    }

    // <!DOCTYPE ...> may hold an internal subset in brackets with its own markup.
    private int skipDeclaration(int i) {
        final byte[] t = text;
        int brackets = 0;
        while (i < t.length) {
            int c = t[i++];
            if (c == '"' || c == '\'') {
                i = skipPast(i, (byte) c);
            } else if (c == '[') {
                brackets++;
            } else if (c == ']') {
                brackets--;
            } else if (c == '>' && brackets <= 0) {
                return i;
            }
        }
        return i;
    }

    // Reads a start tag up to its '>' and returns the position after it; tagOpens is false for
    // "<a/>", for "<>" (no tag at all) and for a tag the file ends in.
    private int startTagEnd(int i, int first) {
        tagOpens = false;
        if (first == '>') return i;
        final byte[] t = text;
        int previous = first;
        while (i < t.length) {
            int c = t[i++];
            if (c == '"' || c == '\'') {
                i = skipPast(i, (byte) c);
            } else if (c == '>') {
                tagOpens = previous != '/';
                return i;
            }
            previous = c;
        }
        return i;
    }

    // The position after the next byte equal to end, or the end of the file.
    private int skipPast(int i, byte end) {
        final byte[] t = text;
        while (i < t.length) {
            if (t[i++] == end) return i;
        }
        return i;
    }

    // The position after the next occurrence of end (two or three characters) that lies wholly
    // at or after position i, or the end of the file.
    private int skipPast(int i, String end) {
        final byte[] t = text;
        final int m = end.length();
        final byte last = (byte) end.charAt(m - 1);
        final byte beforeLast = (byte) end.charAt(m - 2);
        final byte twoBefore = m >= 3 ? (byte) end.charAt(m - 3) : 0;
        for (int j = i + m - 1; j < t.length; j++) {
            if (t[j] == last && t[j - 1] == beforeLast && (m < 3 || t[j - 2] == twoBefore)) {
                return j + 1;
            }
        }
        return t.length;
    }
}
