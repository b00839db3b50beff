package jp.co.vorn.quendra.sbml;

import java.nio.charset.Charset;
import java.nio.charset.CharsetEncoder;
import java.nio.charset.StandardCharsets;

/**
 * Rules for the texts handed to the converter: names that the equation files can carry, texts
 * on one line, and texts that fit the converter's fixed fields once encoded in MS932.
 */
public final class TextRules {
    /** Width of the name fields without the terminating byte. */
    public static final int NAME_BYTES = 255;
    /** Width of the model information, display text and message fields without the terminator. */
    public static final int TEXT_BYTES = 1023;

    private static final Charset MS932 = Charset.forName("MS932");

    private TextRules() {}

    /**
     * The name written into equation files: the SBML name when it is usable there, otherwise the
     * SBML id.
     */
    public static String chooseName(String name, String id) {
        return isUsableName(name) ? name : fitBytes(id == null ? "" : id, NAME_BYTES);
    }

    /**
     * A name is usable when it is not empty, holds none of '[', ']', ';', '=', '#', blanks or
     * control characters (they would break the equation and parameter files) and none of the
     * operator characters '+', '-', '*', '/', '^', '(', ')' (flux and total-enzyme names built from
     * it stand in expressions), can be written in MS932 and fits the name field.
     */
    public static boolean isUsableName(String name) {
        if (name == null || name.isEmpty()) return false;
        for (int i = 0; i < name.length(); i++) {
            if (isForbiddenInName(name.charAt(i))) return false;
        }
        if (isAscii(name)) return name.length() <= NAME_BYTES;
        CharsetEncoder encoder = MS932.newEncoder();
        return encoder.canEncode(name) && encodedLength(name) <= NAME_BYTES;
    }

    // MS932 writes ASCII as one byte each; most model texts are ASCII, and rxnconv's JVM runs
    // interpreted, where encoding every text costs.
    private static boolean isAscii(String text) {
        for (int i = 0; i < text.length(); i++) {
            if (text.charAt(i) >= 0x80) return false;
        }
        return true;
    }

    private static boolean isForbiddenInName(char c) {
        return c == '[' || c == ']' || c == ';' || c == '=' || c == '#' || "+-*/^()".indexOf(c) >= 0
                || Character.isWhitespace(c)
                || Character.isSpaceChar(c) || Character.isISOControl(c);
    }

    /** The text on one line: every run of blanks, line breaks and control characters becomes one blank. */
    public static String oneLine(String text) {
        if (text == null) return "";
        StringBuilder out = new StringBuilder(text.length());
        boolean pendingBlank = false;
        for (int i = 0; i < text.length(); i++) {
            char c = text.charAt(i);
            if (Character.isWhitespace(c) || Character.isISOControl(c) || Character.isSpaceChar(c)) {
                pendingBlank = out.length() > 0;
                continue;
            }
            if (pendingBlank) out.append(' ');
            pendingBlank = false;
            out.append(c);
        }
        return out.toString();
    }

    /** Bytes the text takes in MS932 (a character that MS932 lacks is written as one '?'). */
    public static int encodedLength(String text) {
        return isAscii(text) ? text.length() : text.getBytes(MS932).length;
    }

    /** The first count bytes of the text in MS932, each byte one Latin-1 character. */
    public static String leadingBytes(String text, int count) {
        if (isAscii(text)) return text.substring(0, Math.min(count, text.length()));
        byte[] bytes = text.getBytes(MS932);
        return new String(bytes, 0, Math.min(count, bytes.length), StandardCharsets.ISO_8859_1);
    }

    /** The longest start of the text that takes at most maxBytes in MS932, cut between characters. */
    public static String fitBytes(String text, int maxBytes) {
        if (encodedLength(text) <= maxBytes) return text;
        int used = 0;
        int end = 0;
        while (end < text.length()) {
            int next = text.offsetByCodePoints(end, 1);
            int width = encodedLength(text.substring(end, next));
            if (used + width > maxBytes) break;
            used += width;
            end = next;
        }
        return text.substring(0, end);
    }
}
