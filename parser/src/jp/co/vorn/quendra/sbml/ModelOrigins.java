package jp.co.vorn.quendra.sbml;

/**
 * What each species and reaction number stands for in the model file, for the converter's
 * messages, which name species and reactions by number: one line per number, "S<number> <text>"
 * or "R<number> <text>".
 */
public final class ModelOrigins {
    private ModelOrigins() {}

    public static String of(ReaderModel model) {
        StringBuilder lines = new StringBuilder();
        for (SpeciesRecord species : model.species) {
            lines.append('S').append(species.number).append(' ').append(describe(species)).append('\n');
        }
        for (ReactionRecord reaction : model.reactions) {
            lines.append('R').append(reaction.number).append(' ').append(describe(reaction)).append('\n');
        }
        return lines.toString();
    }

    static String describe(SpeciesRecord species) {
        if (species.madeFor != null) {
            return "the " + species.madeAs + " species '" + species.name
                    + "' the reader made for " + describe(species.madeFor);
        }
        return "SBML species '" + species.id + "'" + named(species.sbmlName);
    }

    static String describe(ReactionRecord reaction) {
        if (reaction.madeFrom != null) {
            return "the reverse direction the reader made of " + describe(reaction.madeFrom);
        }
        return "SBML reaction '" + reaction.id + "'" + named(reaction.sbmlName);
    }

    private static String named(String sbmlName) {
        String name = TextRules.oneLine(sbmlName);
        return name.isEmpty() ? "" : " named '" + TextRules.fitBytes(name, TextRules.NAME_BYTES) + "'";
    }
}
