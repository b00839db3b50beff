package jp.co.vorn.quendra;

public class JListOfCompartments {
    public int numberOfCompartments;
    public JCompartment[] compartment;
}
