package bridgetest;

import jp.co.vorn.quendra.*;

/** A small but complete model tree: every class of the catalogue, Japanese texts included. */
public final class ModelFactory {
    private ModelFactory() {}

    public static JModelPack sample() {
        JModelPack pack = new JModelPack();
        pack.result = 0;
        pack.errmsg = "";
        JModel model = pack.model;
        model.name = "Glucose uptake";
        // "日本語のモデル"
        model.modelInfo = "\u65e5\u672c\u8a9e\u306e\u30e2\u30c7\u30eb";
        model.listOfCompartments.numberOfCompartments = 2;
        model.listOfCompartments.compartment = new JCompartment[] {
            compartment(1, "cytosol", "1.0"), compartment(2, "\u6838", "2.5E-1")};
        model.listOfSpecies.numberOfSpecies = 3;
        model.listOfSpecies.specie = new JSpecie[] {
            specie(10, "Glc", attribute(7, 1, 0, 1, 1, "5.0")),
            specie(11, "HK", attribute(6, 1, 0, 1, 1, "0.1")),
            specie(12, "HK:Glc", attribute(10, 1, 0, 1, 0, ""))};
        JListOfElements elements = new JListOfElements();
        elements.numberOfElements = 2;
        elements.specieReference = new JSpecieReference[] {glc("1"), hk("1")};
        model.listOfSpecies.specie[2].listOfElements_n = 1;
        model.listOfSpecies.specie[2].listOfElements = new JListOfElements[] {elements};
        model.listOfReactions_n = 2;
        model.listOfReactions = new JListOfReactions[] {
            layer(1, transcription(), binding()), layer(3, conversion())};
        return pack;
    }

    /** A model whose one layer holds `count` copies of the sample's reactions. */
    public static JModelPack large(int count) {
        JModelPack pack = sample();
        JReaction[] reactions = new JReaction[count];
        for (int index = 0; index < count; index++) {
            reactions[index] = index % 2 == 0 ? transcription() : conversion();
            reactions[index].reactionID = index;
        }
        pack.model.listOfReactions[0] = layer(1, reactions);
        return pack;
    }

    /** The sample with one reaction whose reactant count disagrees with its array. */
    public static JModelPack miscounted() {
        JModelPack pack = sample();
        pack.model.listOfReactions[1].reaction[0].listOfReactants_n = 2;
        return pack;
    }

    private static JReaction transcription() {
        JReaction r = reaction(100, 7, 13, 1, "gene -> mRNA");
        reactants(r, reference(20, "gene", 2, "1"));
        products(r, reference(21, "mRNA", 1, "1"));
        JListOfModifiers modifiers = new JListOfModifiers();
        modifiers.numberOfModifiers = 2;
        modifiers.modifierSpecieReference = new JModifierSpecieReference[] {
            modifier(11, "HK", "1", 2, 0), modifier(10, "Glc", "1", 3, 1)};
        r.listOfModifiers_n = 1;
        r.listOfModifiers = new JListOfModifiers[] {modifiers};
        return r;
    }

    private static JReaction binding() {
        JReaction r = reaction(101, 8, 1, 2, "Glc + HK -> HK:Glc");
        reactants(r, glc("1"), hk("1"));
        products(r, reference(12, "HK:Glc", 1, "1"));
        JModifierComplex complex = new JModifierComplex();
        complex.specieReference = reference(12, "HK:Glc", 1, "1");
        r.modifierComplex_n = 1;
        r.modifierComplex = new JModifierComplex[] {complex};
        return r;
    }

    private static JReaction conversion() {
        JReaction r = reaction(200, 0, 8, 1, "Glc -> G6P");
        reactants(r, glc("1.5E-3"));
        products(r, reference(13, "G6P", 1, "2"));
        JListOfModifiers modifiers = new JListOfModifiers();
        modifiers.numberOfModifiers = 1;
        modifiers.modifierSpecieReference = new JModifierSpecieReference[] {
            modifier(11, "HK", "1", 1, 1)};
        r.listOfModifiers_n = 1;
        r.listOfModifiers = new JListOfModifiers[] {modifiers};
        return r;
    }

    private static JListOfReactions layer(int code, JReaction... reactions) {
        JListOfReactions list = new JListOfReactions();
        list.layer = code;
        list.numberOfReactions = reactions.length;
        list.reaction = reactions;
        return list;
    }

    private static JReaction reaction(int id, int group, int type, int convertible, String text) {
        JReaction r = new JReaction();
        r.reactionID = id;
        r.groupID = group;
        r.reactionType = type;
        r.isConvertible = convertible;
        r.modifierReactionEquation = text;
        return r;
    }

    private static void reactants(JReaction r, JSpecieReference... references) {
        JListOfReactants list = new JListOfReactants();
        list.numberOfReactants = references.length;
        list.specieReference = references;
        r.listOfReactants_n = 1;
        r.listOfReactants = new JListOfReactants[] {list};
    }

    private static void products(JReaction r, JSpecieReference... references) {
        JListOfProducts list = new JListOfProducts();
        list.numberOfProducts = references.length;
        list.specieReference = references;
        r.listOfProducts_n = 1;
        r.listOfProducts = new JListOfProducts[] {list};
    }

    private static JCompartment compartment(int id, String name, String volume) {
        JCompartment c = new JCompartment();
        c.compartmentID = id;
        c.name = name;
        c.volume = volume;
        return c;
    }

    private static JSpecie specie(int id, String name, JSpecieAttribute attribute) {
        JSpecie s = new JSpecie();
        s.specieID = id;
        s.name = name;
        s.compartment = 1;
        s.specieAttribute = attribute;
        return s;
    }

    private static JSpecieAttribute attribute(int specieClass, int massBalance, int totalAmount,
                                              int decomposition, int valid, String amount) {
        JSpecieAttribute a = new JSpecieAttribute();
        a.specieClass = specieClass;
        a.massBalance = massBalance;
        a.totalAmount = totalAmount;
        a.decomposition = decomposition;
        a.initialAmount_isValid = valid;
        a.initialAmount = amount;
        return a;
    }

    private static JSpecieReference glc(String stoichiometry) {
        return reference(10, "Glc", 1, stoichiometry);
    }

    private static JSpecieReference hk(String stoichiometry) {
        return reference(11, "HK", 1, stoichiometry);
    }

    private static JSpecieReference reference(int id, String name, int compartment,
                                              String stoichiometry) {
        JSpecieReference r = new JSpecieReference();
        r.specieID = id;
        r.name = name;
        r.compartment = compartment;
        r.stoichiometry = stoichiometry;
        return r;
    }

    private static JModifierSpecieReference modifier(int id, String name, String stoichiometry,
                                                     int type, int total) {
        JModifierSpecieReference m = new JModifierSpecieReference();
        m.specieID = id;
        m.name = name;
        m.compartment = 1;
        m.stoichiometry = stoichiometry;
        m.modifierType = type;
        m.isTotal = total;
        return m;
    }
}
