package jp.co.vorn.quendra.sbml;

import java.math.BigDecimal;
import java.math.MathContext;

/**
 * Numbers as the converter reads them ("%lE"): the shortest decimal text that reads back to
 * exactly the same double, with at most 17 significant digits and never more than 31 characters.
 */
public final class NumberText {
    private NumberText() {}

    /** The text of a finite number; callers reject NaN and infinities before. */
    public static String format(double value) {
        // Whole numbers below 2^53 are exact as integers; the common case, and cheap.
        if (value == Math.rint(value) && Math.abs(value) < 0x1p53 && !isNegativeZero(value)) {
            return Long.toString((long) value);
        }
        String text = Double.toString(value);
        if (Double.parseDouble(text) != value) text = seventeenDigits(value);
        return tidy(text);
    }

    private static boolean isNegativeZero(double value) {
        return value == 0.0 && Double.doubleToRawLongBits(value) != 0;
    }

    // Double.toString already gives the shortest exact form; this is only a safety net.
    private static String seventeenDigits(double value) {
        return new BigDecimal(value).round(new MathContext(17)).toString();
    }

    // "10.0" -> "10", "1.0E-5" -> "1E-5": the same value, easier to read.
    private static String tidy(String text) {
        int exponent = text.indexOf('E');
        String mantissa = exponent < 0 ? text : text.substring(0, exponent);
        String tail = exponent < 0 ? "" : text.substring(exponent);
        if (mantissa.endsWith(".0")) mantissa = mantissa.substring(0, mantissa.length() - 2);
        return mantissa + tail;
    }
}
