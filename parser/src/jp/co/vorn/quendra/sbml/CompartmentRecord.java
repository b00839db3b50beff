package jp.co.vorn.quendra.sbml;

/** A compartment as read: its 1-based number, names and volume text. */
public final class CompartmentRecord {
    public final int number;
    public final String id;
    public final String name;
    /** The size as number text, empty when SBML gives none. */
    public final String volume;
    /** The first three bytes of the name in MS932, as the converter cuts it (held as Latin-1). */
    public final String shortName;

    public CompartmentRecord(int number, String id, String name, String volume) {
        this.number = number;
        this.id = id;
        this.name = name;
        this.volume = volume;
        this.shortName = TextRules.leadingBytes(name, 3);
    }
}
