package jp.co.vorn.quendra;

public class JListOfModifiers {
    public int numberOfModifiers;
    public JModifierSpecieReference[] modifierSpecieReference;
}
