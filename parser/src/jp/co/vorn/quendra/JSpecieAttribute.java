package jp.co.vorn.quendra;

public class JSpecieAttribute {
    public int specieClass;
    public int massBalance;
    public int totalAmount;
    public int decomposition;
    public int initialAmount_isValid;
    /** A number written as text. */
    public String initialAmount = "";
}
