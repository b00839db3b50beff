import java.util.SplittableRandom;
import jp.co.vorn.quendra.sbml.NumberText;

/**
 * Test tool: prints "<bits in hex> <text>" for finite doubles of every magnitude (random bit
 * patterns from a fixed seed plus edge values), so that a C test can read each text back with
 * "%lE" and compare the bits.
 *
 * Usage: NumberTexts count
 */
public class NumberTexts {
    private static final double[] EDGES = {0.0, -0.0, 1.0, -1.0, 0.1, 1.0 / 3.0, 2.0 / 3.0,
        Double.MIN_VALUE, -Double.MIN_VALUE, Double.MIN_NORMAL, Double.MAX_VALUE, -Double.MAX_VALUE,
        1e21, 1e22, 1e23, 9.999999999999999e22, 5e-324, 2.2250738585072009e-308, 1e-7, 1e7,
        123456789012345678.0, 0.30000000000000004};

    public static void main(String[] args) {
        int count = Integer.parseInt(args[0]);
        StringBuilder out = new StringBuilder();
        for (double value : EDGES) line(value, out);
        SplittableRandom random = new SplittableRandom(20240601L);
        int written = 0;
        while (written < count) {
            double value = Double.longBitsToDouble(random.nextLong());
            if (!Double.isFinite(value)) continue;
            line(value, out);
            written++;
        }
        System.out.print(out);
    }

    private static void line(double value, StringBuilder out) {
        out.append(Long.toHexString(Double.doubleToRawLongBits(value))).append(' ')
                .append(NumberText.format(value)).append('\n');
    }
}
