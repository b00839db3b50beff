package jp.co.vorn.quendra;

/** The enzyme-substrate complex of a reaction. */
public class JModifierComplex {
    public JSpecieReference specieReference = new JSpecieReference();
}
