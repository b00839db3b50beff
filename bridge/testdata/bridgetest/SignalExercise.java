package bridgetest;

/**
 * Makes the JVM use its own signal handling: JIT-compiled code reaches null through implicit
 * null checks (a SIGSEGV the JVM turns into NullPointerException) and divides by zero through
 * implicit checks (SIGFPE, turned into ArithmeticException), and collections bring the threads
 * to safepoints. A native host that takes these signals away from the JVM crashes here.
 */
public final class SignalExercise {
    private SignalExercise() {}

    private static int length(String text) {
        return text.length();
    }

    private static int quotient(int dividend, int divisor) {
        return dividend / divisor;
    }

    /** Returns the number of exceptions caught: one per round. */
    public static int run(int rounds) {
        String[] values = {"ab", null};
        int caught = 0;
        for (int round = 0; round < rounds; round++) {
            try {
                length(values[round & 1]);
            } catch (NullPointerException e) {
                caught++;
            }
            try {
                quotient(round, round & 1);
            } catch (ArithmeticException e) {
                caught++;
            }
            if (round % 100000 == 0) System.gc();
        }
        return caught;
    }
}
