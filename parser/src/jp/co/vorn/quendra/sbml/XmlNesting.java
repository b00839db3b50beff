package jp.co.vorn.quendra.sbml;

import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStream;

/**
 * libSBML reads nested XML elements recursively, so a file that nests deeply enough overflows
 * the stack and ends the process without a word. Real models nest a few dozen levels; a file
 * that nests deeper than MAX_DEPTH is refused before libSBML sees it. The scan only tracks
 * markup: comments, CDATA sections, processing instructions, declarations and quoted attribute
 * values are skipped; whether the XML is well-formed is left to libSBML.
 */
final class XmlNesting {
    static final int MAX_DEPTH = 500;

    private final InputStream in;
    private final byte[] buffer = new byte[1 << 16];
    private int position;
    private int limit;
    private long line = 1;
    private int depth;

    private XmlNesting(InputStream in) {
        this.in = in;
    }

    static void check(String path) throws ModelReadException {
        try (InputStream in = new FileInputStream(path)) {
            new XmlNesting(in).scan();
        } catch (IOException e) {
            throw new ModelReadException("cannot be read (" + e.getMessage() + ")");
        }
    }

    private void scan() throws IOException, ModelReadException {
        for (int c = next(); c >= 0; c = next()) {
            if (c == '<') markup();
        }
    }

    // The next byte, or -1 at the end. Bytes are enough: markup characters are ASCII in every
    // encoding libSBML reads.
    private int next() throws IOException {
        if (position == limit) {
            limit = in.read(buffer, 0, buffer.length);
            position = 0;
            if (limit <= 0) {
                limit = 0;
                return -1;
            }
        }
        int c = buffer[position++] & 0xff;
        if (c == '\n') line++;
        return c;
    }

    // After '<': an end tag, a start tag (empty or not), or markup that holds no element.
    private void markup() throws IOException, ModelReadException {
        int c = next();
        if (c == '/') {
            depth = Math.max(0, depth - 1);
            skipPast(">");
        } else if (c == '!') {
            declaration();
        } else if (c == '?') {
            skipPast("?>");
        } else if (c >= 0 && startTagEndsOpen(c)) {
            if (++depth > MAX_DEPTH) {
                throw ModelReadException.at(line, "XML elements are nested more than " + MAX_DEPTH
                        + " levels deep; no model needs that many");
            }
        }
    }

    private void declaration() throws IOException {
        int c = next();
        if (c == '-') {
            skipPast("-->");
        } else if (c == '[') {
            skipPast("]]>");
        } else {
            skipDeclaration();
        }
    }

    // <!DOCTYPE ...> may hold an internal subset in brackets with its own markup.
    private void skipDeclaration() throws IOException {
        int brackets = 0;
        for (int c = next(); c >= 0; c = next()) {
            if (c == '"' || c == '\'') {
                skipPast(String.valueOf((char) c));
            } else if (c == '[') {
                brackets++;
            } else if (c == ']') {
                brackets--;
            } else if (c == '>' && brackets <= 0) {
                return;
            }
        }
    }

    // Reads a start tag up to its '>'; true unless it ends in "/>" ("<>" is no tag at all).
    private boolean startTagEndsOpen(int first) throws IOException {
        if (first == '>') return false;
        int previous = first;
        for (int c = next(); c >= 0; c = next()) {
            if (c == '"' || c == '\'') {
                skipPast(String.valueOf((char) c));
                previous = c;
                continue;
            }
            if (c == '>') return previous != '/';
            previous = c;
        }
        return false;
    }

    // Skips past the end text (one to three characters).
    private void skipPast(String end) throws IOException {
        int n = end.length();
        int last = end.charAt(n - 1);
        int beforeLast = n >= 2 ? end.charAt(n - 2) : -1;
        int twoBefore = n >= 3 ? end.charAt(n - 3) : -1;
        int p1 = -1;
        int p2 = -1;
        for (int c = next(); c >= 0; c = next()) {
            if (c == last && (n < 2 || p1 == beforeLast) && (n < 3 || p2 == twoBefore)) return;
            p2 = p1;
            p1 = c;
        }
    }
}
