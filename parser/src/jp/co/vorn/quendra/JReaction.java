package jp.co.vorn.quendra;

public class JReaction {
    public int reactionID;
    public int groupID;
    public int reactionType;
    public int isConvertible;
    /** Display text of the reaction. */
    public String modifierReactionEquation = "";
    public int listOfReactants_n;
    public JListOfReactants[] listOfReactants;
    public int listOfProducts_n;
    public JListOfProducts[] listOfProducts;
    public int listOfModifiers_n;
    public JListOfModifiers[] listOfModifiers;
    public int modifierComplex_n;
    public JModifierComplex[] modifierComplex;
}
